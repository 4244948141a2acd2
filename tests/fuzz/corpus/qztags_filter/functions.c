int f(int a) { return "x{"; } // c
/* a
 */ #define X 1 \
  2
class C : public B {
