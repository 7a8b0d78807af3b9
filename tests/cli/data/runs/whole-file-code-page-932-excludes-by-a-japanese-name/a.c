int ‡Œv(int a)
{
}

int •½‹Ï(int a)
{
}
