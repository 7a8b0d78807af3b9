/* f
 * a: one
 * g: six
 */
int f(int a, int b, int c, int d, int e, int g);
