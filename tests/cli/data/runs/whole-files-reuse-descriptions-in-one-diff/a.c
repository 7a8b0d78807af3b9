/*
 * ファイルを開く
 * Open
 * @param *pszPath (const char) 開くファイルのパス
 * @param nMode (int) 開き方
 * @return int 
 * 山田 2024/04/01
 */
int Open(const char *pszPath, int nMode, int nShare)
{
    return 0;
}
