// 数える関数
/*
 * 件数を数える
 * 注意: 一覧は空でもよい
 * Count
 * @param list (const LIST *) 数える一覧
 * @param kind (int) 種類
 * @return int 件数
 * 山田 2024/04/01
 */
int Count(const LIST *list, int kind)
{
    return 0;
}
