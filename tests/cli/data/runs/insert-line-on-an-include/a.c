#include <stdio.h>

int f(void)
{
    if (x) {
    }
}
