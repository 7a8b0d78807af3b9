#include "count.h"

/*
 * 件数を数える
 * Count
 * @param kind (int) 種類
 * @param list (const LIST *) 数える一覧
 * @return int 件数
 * 山田 2024/04/01
 */
int Count(int kind, const LIST *list)
{
    return 0;
}
