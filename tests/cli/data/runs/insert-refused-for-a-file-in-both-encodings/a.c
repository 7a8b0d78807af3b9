// åˆè¨ˆ
int f(void);
// ‡Œv
