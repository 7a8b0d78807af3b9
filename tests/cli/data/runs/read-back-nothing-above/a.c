int f(void);
