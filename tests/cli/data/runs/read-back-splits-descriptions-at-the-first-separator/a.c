// f
// a b / c d / e
int f(void)
{
}
