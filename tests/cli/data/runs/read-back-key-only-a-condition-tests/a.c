// f
// dated
int f(void)
{
}
