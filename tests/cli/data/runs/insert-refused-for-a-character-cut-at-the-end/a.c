int f();
å