
/*
 * 件数を数える
 * Count
 * @param list (const LIST *) 数える一覧
 * @param kind (int) 種類
 * @return int 件数
 * 山田 2024/04/01
 */
int Count(const LIST *list)
{
    return 0;
}
