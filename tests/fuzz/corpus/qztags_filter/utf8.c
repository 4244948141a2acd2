/* 説明 */
void a(void) { puts("説明"); }
int f(void) /* 関数 */
#define LIMIT 10 // 上限
struct S { // 型
