#include "x.h"

int Seven(int a, int b, int c, int d, int e, int f, int g)
{
    return 0;
}

/*
 * 足す 😀
 * Sum
 * @param a (int) 左
 * @param b (int) 右
 * @return int 和
 * 山田 2024/04/01
 */
int Sum(int a, int c)
{
    return a + c;
}
