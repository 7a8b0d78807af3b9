#include "count.h"

/*
 * 件数を数える
 * CList::Count
 * @param list (const LIST *) 数える一覧
 * @param kind (int) 種類
 * @return long 件数
 * 山田 2024/04/01
 */
long CList::Count(const LIST *list, int kind) const
{
    return 0;
}
