#include "count.h"

//----
// Count: 件数を数える
//   list: 数える一覧
//   kind: 種類
//   戻り値: 件数
//   山田 2024/04/01
//----
int Count(const LIST *list, int kind)
{
    return 0;
}

//----
// Reset: 空にする
//   list: 空にする一覧
//   戻り値: 
//   山田 2024/04/02
//----
void Reset(LIST *list)
{
}
