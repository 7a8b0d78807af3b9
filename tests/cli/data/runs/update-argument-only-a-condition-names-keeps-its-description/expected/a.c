// f
// 1: 個数
// long
long f(int count)
{
}
