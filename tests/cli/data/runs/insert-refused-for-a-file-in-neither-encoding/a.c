int f();
æ€
€
