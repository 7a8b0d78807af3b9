#include <stdio.h>

/*
 * 
 * f
 * @return int 
 * x d
 */
int f(void)
{
    if (x) {
    }
}
