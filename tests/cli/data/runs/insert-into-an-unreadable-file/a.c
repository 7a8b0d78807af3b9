int f(int a, int b);
