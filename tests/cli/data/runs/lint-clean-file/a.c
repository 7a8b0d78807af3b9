/*
 * 空にする
 * Reset
 * @param list (LIST *) 空にする一覧
 * @return void 
 * 山田 2024/04/01
 */
void Reset(LIST *list)
{
}
