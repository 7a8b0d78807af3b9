// <@x f
int f(void)
{
}
