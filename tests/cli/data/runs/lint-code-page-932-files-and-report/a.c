/*
 * Œ”‚ğ”‚¦‚é
 * Count
 * @param list (LIST *) ˆê——
 * @return int Œ”
 * R“c 2024/04/01
 */
int Count(const LIST *list)
{
    return 0;
}

int main(void)
{
    return 0;
}

int a::b::Seek(int nOffset)
{
    return 0;
}

void	‡Œv(int ŒÂ”)
{
}
