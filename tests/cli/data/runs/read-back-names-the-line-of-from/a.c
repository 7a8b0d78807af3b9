/* f
 * 題
 * 余分
 */
int f(void)
{
}
