int f(int a);
