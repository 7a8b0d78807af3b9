/*
 * 件数を数える
 * Count
 * @param list (const LIST *) 数える一覧
 * @return int 
 * 山田 2024/04/01
 */
int Count(const LIST *list, int kind)
{
    return 0;
}

/*
 * 空にする
 * Reset
 * @param list (LIST *) 
 * @return void 
 * 山田 2024/04/01
 */
void	Reset(LIST *list)
{
}

static int Find(LIST *list, int key) { return 0; }
