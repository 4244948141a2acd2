// The key tables of the four schemes: for each action its keys in scheme 1
// (KOM), 2 (SLATE), 3 (TALVE) and 4 (KOM + SLATE). Keys that come in ranges
// (the help entries on Ctrl+1-9, the templates on Alt+0-9 and Alt+A-Z) and
// the keys whose meaning depends on the moment are decided in the dispatcher.
#include <iterator>

#include "app/key_code.h"
#include "app/key_dispatch.h"

namespace qz {

namespace {

constexpr uint16_t K(int code) { return static_cast<uint16_t>(code); }
constexpr uint16_t C(char c) { return K(Ctrl(KeyLetter(c))); }
constexpr uint16_t CS(char c) { return K(Ctrl(Shift(KeyLetter(c)))); }
constexpr uint16_t F(int n) { return K(KeyF(n)); }
constexpr uint16_t SF(int n) { return K(Shift(KeyF(n))); }
constexpr uint16_t CF(int n) { return K(Ctrl(KeyF(n))); }
constexpr uint16_t AF(int n) { return K(Alt(KeyF(n))); }

constexpr uint16_t BS = K(kKeyBackspace), DEL = K(kKeyDelete), ESC = K(kKeyEsc), INS = K(kKeyInsert);
constexpr uint16_t HOME = K(kKeyHome), END = K(kKeyEnd), PGUP = K(kKeyPageUp), PGDN = K(kKeyPageDown);
constexpr uint16_t LEFT = K(kKeyLeft), RIGHT = K(kKeyRight), UP = K(kKeyUp), DOWN = K(kKeyDown);
constexpr uint16_t ENTER = K(kKeyEnter), SPACE = K(kKeySpace);
constexpr uint16_t S(uint16_t k) { return K(Shift(k)); }
constexpr uint16_t CK(uint16_t k) { return K(Ctrl(k)); }
constexpr uint16_t CSK(uint16_t k) { return K(Ctrl(Shift(k))); }
constexpr uint16_t AK(uint16_t k) { return K(Alt(k)); }

using A = ViewAction;

const ViewKeyRow kViewRows[] = {
    //                                     scheme 1            scheme 2             scheme 3                    scheme 4
    {A::AsciiTable, 0,                 {{},                 {},                  {C('V')},                   {}}},
    {A::Backspace, 0,                  {{BS, C('H')},       {BS, S(DEL)},        {BS},                       {BS, C('H')}}},
    {A::BracketJump, 0,                {{C('K')},           {C('K')},            {},                         {C('K')}}},
    {A::Cancel, 0,                     {{ESC},              {ESC},               {ESC},                      {ESC}}},
    {A::CharCodeDisplay, 0,            {{SF(8)},            {SF(8)},             {},                         {SF(8)}}},
    {A::Copy, 0,                       {{F(8)},             {C('C')},            {F(8)},                     {F(8)}}},
    {A::Cut, 0,                        {{F(7)},             {C('X')},            {F(7)},                     {F(7), C('X')}}},
    {A::RadixConversion, 0,            {{CF(8)},            {CF(8)},             {CF(8)},                    {CF(8)}}},
    {A::Delete, 0,                     {{DEL, C('G')},      {DEL},               {DEL, C('G')},              {DEL, C('G')}}},
    {A::DeleteRow, 0,                  {{C('Y')},           {C('Y')},            {C('Y')},                   {C('Y')}}},
    {A::DeleteToLineEnd, 0,            {{C('T')},           {C('T'), CK(DEL)},   {C('K')},                   {C('T')}}},
    {A::DeleteToRowStart, 0,           {{C('V')},           {},                  {C('U')},                   {}}},
    {A::DeleteWord, 0,                 {{S(DEL)},           {},                  {C('T')},                   {S(DEL)}}},
    {A::DrTagJump, 0,                  {{SF(10)},           {SF(10)},            {},                         {SF(10)}}},
    {A::DuplicateRow, 0,               {{C('B')},           {C('B')},            {SF(10)},                   {C('B')}}},
    {A::RowEnd, 0,                     {{C('W')},           {END},               {},                         {END, C('W')}}},
    {A::FileEnd, 0,                    {{C('C')},           {CK(END)},           {},                         {CK(END)}}},
    {A::FunctionGuidance, 0,           {{},                 {F(1)},              {},                         {}}},
    {A::FunctionList, 0,               {{CF(9)},            {CF(9)},             {CF(9)},                    {CF(9)}}},
    {A::HalfPageDown, 0,               {{PGDN},             {},                  {PGDN, C('C')},             {}}},
    {A::HalfPageUp, 0,                 {{PGUP},             {},                  {PGUP, C('R')},             {}}},
    {A::JumpToLine, 0,                 {{},                 {C('G')},            {},                         {}}},
    {A::LogRecord, 0,                  {{SF(1)},            {SF(1)},             {F(11), AF(6), AF(7), AF(8)}, {SF(1)}}},
    {A::LogReplay, 0,                  {{SF(2)},            {SF(2)},             {F(12), AF(9)},             {SF(2)}}},
    {A::MarkJumpDialog, 0,             {{SF(5)},            {SF(5)},             {C('J')},                   {SF(5)}}},
    {A::NextFunction, 0,               {{CS('N')},          {CS('N')},           {},                         {CS('N')}}},
    {A::NextWindow, 0,                 {{S(END)},           {SF(6)},             {S(HOME)},                  {CF(12)}}},
    {A::CharLeft, 0,                   {{LEFT, C('S')},     {LEFT},              {LEFT, C('S')},             {LEFT, C('S')}}},
    {A::CharRight, 0,                  {{RIGHT, C('D')},    {RIGHT},             {RIGHT, C('D')},            {RIGHT, C('D')}}},
    {A::OnePointMark, 0,               {{CK(SPACE)},        {CK(SPACE)},         {CK(SPACE)},                {CK(SPACE)}}},
    {A::OpenLineAbove, 0,              {{},                 {},                  {C('N')},                   {}}},
    {A::OpenLineBelow, 0,              {{CK(ENTER)},        {CK(ENTER)},         {},                         {CK(ENTER)}}},
    {A::OpenFileAtCaret, 0,            {{F(10)},            {F(10)},             {F(10)},                    {F(10)}}},
    {A::OpenAssociated, 0,             {{CF(10)},           {CF(10)},            {CF(10)},                   {CF(10)}}},
    {A::PageDown, 0,                   {{S(PGDN)},          {PGDN},              {S(PGDN)},                  {PGDN}}},
    {A::PageUp, 0,                     {{S(PGUP)},          {PGUP},              {S(PGUP)},                  {PGUP}}},
    {A::Paste, 0,                      {{F(9)},             {C('V')},            {F(9), SF(9)},              {F(9), C('V')}}},
    {A::PreviousFunction, 0,           {{CS('P')},          {CS('P')},           {},                         {CS('P')}}},
    {A::PreviousWindow, 0,             {{S(HOME)},          {F(6)},              {HOME},                     {SF(12)}}},
    {A::Print, 0,                      {{},                 {C('P')},            {},                         {}}},
    {A::BoxCalculation, 0,             {{CF(7)},            {CF(7)},             {CF(7)},                    {CF(7)}}},
    {A::RememberLine, 0,               {{CS('B')},          {CS('B')},           {},                         {CS('B')}}},
    {A::Replace, 0,                    {{},                 {C('H')},            {},                         {}}},
    {A::ReturnToRememberedLine, 0,     {{CS('F')},          {CS('F')},           {},                         {CS('F')}}},
    {A::RowsDown, 0,                   {{C('X')},           {CK(DOWN)},          {C('X')},                   {CK(DOWN)}}},
    {A::RowsUp, 0,                     {{C('E')},           {CK(UP)},            {C('E')},                   {C('E'), CK(UP)}}},
    {A::SearchDialog, 0,               {{},                 {C('F')},            {AF(1), AF(2)},             {}}},
    {A::SearchNext, 0,                 {{C('N')},           {F(3)},              {F(5)},                     {C('N')}}},
    {A::SearchPrevious, 0,             {{C('P')},           {SF(3)},             {SF(5)},                    {C('P')}}},
    {A::SearchWordAtCaret, 0,          {{C('L')},           {C('L')},            {},                         {C('L')}}},
    {A::SelectAll, 0,                  {{},                 {C('A')},            {},                         {C('A')}}},
    {A::RowStart, 0,                   {{C('Q')},           {HOME},              {F(6)},                     {HOME, C('Q')}}},
    {A::StartSelection, 0,             {{F(6)},             {},                  {SF(6)},                    {F(6)}}},
    {A::SelPageDown, 0,                {{},                 {S(PGDN)},           {},                         {S(PGDN)}}},
    {A::SelPageUp, 0,                  {{},                 {S(PGUP)},           {},                         {S(PGUP)}}},
    {A::SelFileEnd, 0,                 {{},                 {CSK(END)},          {},                         {CSK(END)}}},
    {A::SelFileTop, 0,                 {{},                 {CSK(HOME)},         {},                         {CSK(HOME)}}},
    {A::SelRowEnd, 0,                  {{},                 {S(END)},            {},                         {S(END)}}},
    {A::SelRowStart, 0,                {{},                 {S(HOME)},           {},                         {S(HOME)}}},
    {A::SelWordLeft, 0,                {{},                 {CSK(LEFT)},         {},                         {CSK(LEFT)}}},
    {A::SelWordRight, 0,               {{},                 {CSK(RIGHT)},        {},                         {CSK(RIGHT)}}},
    {A::TemplateDialog, 0,             {{AK(ENTER), AK(SPACE)}, {AK(ENTER), AK(SPACE)}, {AK(ENTER), AK(SPACE)}, {AK(ENTER), AK(SPACE)}}},
    {A::ToggleCase, 0,                 {{C('J')},           {C('J')},            {CK(ENTER)},                {C('J')}}},
    {A::ToggleInsert, 0,               {{INS},              {INS},               {INS},                      {INS}}},
    {A::ToggleWidth, 0,                {{CS('J')},          {},                  {CSK(ENTER)},               {CS('J')}}},
    {A::FileTop, 0,                    {{C('R')},           {CK(HOME)},          {},                         {C('R'), CK(HOME)}}},
    {A::TypeLineFeed, 0,               {{S(ENTER), C('M')}, {S(ENTER)},          {C('M')},                   {S(ENTER), C('M')}}},
    {A::ShellLineFeed, 0,              {{},                 {},                  {S(ENTER)},                 {}}},
    {A::TypeTab, 0,                    {{C('I')},           {},                  {C('I')},                   {C('I')}}},
    {A::UndeleteChar, 0,               {{CK(DEL)},          {CSK(DEL)},          {C('P')},                   {CK(DEL)}}},
    {A::UndeleteRow, 0,                {{CS('Y')},          {CS('Y')},           {C('L')},                   {CS('Y')}}},
    {A::Undo, 0,                       {{S(ESC)},           {S(ESC), C('Z')},    {S(ESC)},                   {S(ESC), C('Z')}}},
    {A::WindowSelection, 0,            {{HOME},             {},                  {},                         {F(12)}}},
    {A::WordLeft, 0,                   {{},                 {CK(LEFT)},          {C('A')},                   {CK(LEFT)}}},
    {A::WordLeftSkipping, 0,           {{C('A')},           {},                  {},                         {}}},
    {A::WordRight, 0,                  {{},                 {CK(RIGHT)},         {C('F')},                   {CK(RIGHT)}}},
    {A::WordRightSkipping, 0,          {{C('F')},           {},                  {},                         {C('F')}}},
    {A::SetPrefix, 0,                  {{C('Z')},           {},                  {C('Q')},                   {}}},
};

using FA = FrameAction;

const FrameKeyRow kFrameRows[] = {
    //                                 scheme 1     scheme 2     scheme 3         scheme 4
    {FA::MenuPopup, 1,             {{F(1)},      {},          {F(1)},          {F(1)}}},
    {FA::MenuPopup, 2,             {{F(2)},      {},          {F(2)},          {F(2)}}},
    {FA::MenuPopup, 3,             {{F(3)},      {},          {F(3)},          {F(3)}}},
    {FA::MenuPopup, 4,             {{F(4)},      {},          {},              {F(4)}}},
    {FA::SplitRows, 0,             {{},          {},          {F(4)},          {}}},
    {FA::ShiftMenuPopup, 1,        {{},          {},          {SF(1)},         {}}},
    {FA::ShiftMenuPopup, 2,        {{},          {},          {SF(2)},         {}}},
    {FA::ShiftMenuPopup, 3,        {{},          {},          {SF(3)},         {}}},
    {FA::SettingsSheet, 0,         {{F(5)},      {},          {},              {F(5)}}},
    {FA::UserTool, 0,              {{F(11)},     {F(11)},     {},              {F(11)}}},
    {FA::MaximizeRestore, 0,       {{F(12), END}, {F(12)},    {S(END)},        {}}},
    {FA::HelpIndex, 0,             {{},          {},          {END},           {}}},
    {FA::NewWindow, 0,             {{SF(4)},     {SF(4)},     {},              {SF(4)}}},
    {FA::StartCalculator, 0,       {{SF(7)},     {SF(7)},     {},              {SF(7)}}},
    {FA::WindowList, 0,            {{SF(9)},     {SF(9)},     {},              {SF(9)}}},
    {FA::CycleTabMarks, 0,         {{C('O')},    {},          {},              {C('O')}}},
    {FA::FileNew, 0,               {{},          {C('N')},    {},              {}}},
    {FA::FileOpen, 0,              {{},          {C('O')},    {},              {}}},
    {FA::FileSave, 0,              {{},          {C('S')},    {},              {}}},
    {FA::MenuMnemonic, 'E',        {{},          {AK(K(KeyLetter('E')))}, {}, {}}},
    {FA::MenuMnemonic, 'F',        {{},          {AK(K(KeyLetter('F')))}, {}, {}}},
    {FA::MenuMnemonic, 'H',        {{},          {AK(K(KeyLetter('H')))}, {}, {}}},
    {FA::MenuMnemonic, 'S',        {{},          {AK(K(KeyLetter('S')))}, {}, {}}},
    {FA::MenuMnemonic, 'V',        {{},          {AK(K(KeyLetter('V')))}, {}, {}}},
    {FA::MenuMnemonic, 'W',        {{},          {AK(K(KeyLetter('W')))}, {}, {}}},
    {FA::Browser, 1,               {{CF(5)},     {CF(5)},     {CF(5)},         {CF(5)}}},
    {FA::Browser, 2,               {{CF(6)},     {CF(6)},     {CF(6)},         {CF(6)}}},
    {FA::ScrollAllViews, -1,       {{AK(UP)},    {AK(UP)},    {AK(UP)},        {AK(UP)}}},
    {FA::ScrollAllViews, 1,        {{AK(DOWN)},  {AK(DOWN)},  {AK(DOWN)},      {AK(DOWN)}}},
};

}  // namespace

const ViewKeyRow* ViewKeyTable(size_t* count) {
    *count = std::size(kViewRows);
    return kViewRows;
}

const FrameKeyRow* FrameKeyTable(size_t* count) {
    *count = std::size(kFrameRows);
    return kFrameRows;
}

}  // namespace qz
