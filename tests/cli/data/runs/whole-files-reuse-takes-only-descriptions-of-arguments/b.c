int Close(int nMode)
{
}
