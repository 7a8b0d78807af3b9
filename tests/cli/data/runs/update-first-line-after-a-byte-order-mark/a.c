/* Count
 * 件数を数える
 */
int Total(const LIST *list)
{
    return 0;
}
