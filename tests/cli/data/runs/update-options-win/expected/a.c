#include "count.h"

/*
 * 新題
 * Count
 * @param list (const LIST *) 数える一覧
 * @param kind (int) 新しい種類
 * @return int 件数
 * 鈴木 2024/04/01
 */
int Count(const LIST *list, int kind)
{
    return 0;
}
