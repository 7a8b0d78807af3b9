int a::b::f(int x);
