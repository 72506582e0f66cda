#define Py_LIMITED_API 0x03090000
#include <Python.h>
static PyModuleDef_Slot slots[] = {{0, nullptr}};
static PyModuleDef def = {PyModuleDef_HEAD_INIT, "_torvex_gym", nullptr, 0, nullptr, slots, nullptr, nullptr, nullptr};
PyMODINIT_FUNC PyInit__torvex_gym(void) { return PyModuleDef_Init(&def); }
