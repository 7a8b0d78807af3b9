/*
 * 確保する
 * Alloc
 * @param n (int) バイト数
 * @return void * 
 * 山田 2024/04/01
 */
void *Alloc(int n)
{
    return 0;
}

/*
 * 空にする
 * Reset
 * @param list (LIST *) 一覧
 * @return void 
 * 山田 2024/04/01
 */
static void Reset(LIST *list)
{
}

/*
 * 触る
 * Touch
 * @return const void 
 * 山田 2024/04/01
 */
const void Touch(void)
{
}

/*
 * 得る
 * Get
 * @return myvoid 
 * 山田 2024/04/01
 */
myvoid Get(void)
{
    return 0;
}

/*
 * 作る
 * CList::CList
 * @return  
 * 山田 2024/04/01
 */
CList::CList()
{
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
