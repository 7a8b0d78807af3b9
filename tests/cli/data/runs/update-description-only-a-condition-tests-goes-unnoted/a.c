// f
// n: 個数
// 2 に説明あり
int f(int n)
{
}
