static char *get_name(int id)
int CFoo::Bar(void) const
ƒ{ "\•\" x
typedef struct tagPOINT {
} POINT;
