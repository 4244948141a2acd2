#define MAX(a,b) ((a)>(b))
struct s x = {
/*/ int g() */
