/*
 * 関数: f
 * 引数: int a
 * 引数: int b
 */
int f(int a, int b);