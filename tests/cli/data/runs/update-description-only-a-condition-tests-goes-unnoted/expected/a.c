// f
// n: 個数
int f(int n)
{
}
