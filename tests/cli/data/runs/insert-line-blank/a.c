	
int f();
