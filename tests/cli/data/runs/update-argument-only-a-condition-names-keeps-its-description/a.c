// f
// 1: 個数
// int
long f(int count)
{
}
