/* list.c: lists of items */
#include "list.h"

#define LIST_MAX(a, b) ((a) > (b) ? (a) : (b))

static int (*g_pfnCompare)(const void *, const void *);
static const char *g_apszNames[] = {"a{", "b}"};

/*
 * 一覧を作る
 * ListNew
 * @param nSize (int) 最初の大きさ
 * @param nFlags (int) 
 * @return LIST * 
 * 山田 2024/04/01
 */
LIST *ListNew(int nSize, int nFlags)
{
    if (nSize < 0) {
        return NULL;
    }
    return NULL;
}

// 一覧を捨てる (hand-written, kept)
void ListFree(LIST *list)
{
}

TEST(List, Works)
{
}

#if 0
int Disabled(void)
{
}
#endif

/*
 * 
 * ListCount
 * @param list (const LIST *) 
 * @return int 
 * 鈴木 2025/01/01
 */
static inline int
ListCount(const LIST *list)
{
    return list->n;
}

int main(int argc, char **argv)
{
    return 0;
}
