// unsigned int C::f
// unsigned int a: A
int f(long b);
