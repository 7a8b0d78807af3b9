int ‡Œv(int a)
{
}

/* •½‹Ï */
int •½‹Ï(int a)
{
}
