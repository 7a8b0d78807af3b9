int f(void)
{
}
