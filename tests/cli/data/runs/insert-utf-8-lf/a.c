// 合計
int g();

int f(int a, int b);
