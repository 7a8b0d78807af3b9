/*
 * 書く
 * Write
 * @param nMode (int) 書き方
 * @param *pszPath (const char) パス
 * @return int 
 * 山田 2024/04/01
 */
int Write(int nMode, const char *pszPath)
{
    return 0;
}

/*
 * 消す
 * Erase
 * @param nMode (int) 書き方
 * @return int 
 * 山田 2024/04/01
 */
int Erase(int nMode)
{
    return 0;
}
