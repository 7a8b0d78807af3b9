int Close(int nMode)
{
    return 0;
}

int Read(const char *pszPath, char *pBuffer)
{
    return 0;
}

int a::b::Seek(int nOffset)
{
    return 0;
}
