// unsigned int a: A
int f(long b);
