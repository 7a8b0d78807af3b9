/*
 * 
 * f
 * @param a (int) 
 * @param b (int) 
 * @return int 
 * x d
 */
static int
f(int a,
  int b)
{
}
