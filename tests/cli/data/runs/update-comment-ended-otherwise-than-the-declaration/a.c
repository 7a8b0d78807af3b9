// f
// a: 個数
int f(int ab)
{
}
