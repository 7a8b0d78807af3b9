// f
int f(void)
{
}
