// f
// ab: 個数
int f(int ab)
{
}
