int f();
뀀
