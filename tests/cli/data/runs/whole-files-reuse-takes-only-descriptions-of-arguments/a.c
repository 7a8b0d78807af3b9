// nMode
// Open
// int 2024/04/01
int Open(void)
{
}
