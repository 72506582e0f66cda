// The Python module `_torvex_gym`: the RawEnv class over the environment record.
#ifndef Py_LIMITED_API
#define Py_LIMITED_API 0x030A0000
#endif
#include <Python.h>

#include <atomic>
#include <expected>
#include <new>
#include <cstdint>
#include <string>
#include <string_view>
#include <thread>

#include "gym_core/env.hpp"

namespace {

using torvex::gym::Env;

struct RawEnvObject {
    PyObject_HEAD
    Env* env;                            // owned
    std::atomic<std::uintptr_t> borrow;  // 0 idle, all ones while a command runs
    std::thread::id owner;
};

constexpr std::uintptr_t kBorrowed = ~std::uintptr_t{0};

// A Python str of the text, built from its length: an embedded NUL is kept, and bytes
// that are not UTF-8 are replaced rather than refused.
PyObject* str_of(std::string_view text) {
    return PyUnicode_DecodeUTF8(text.data(), static_cast<Py_ssize_t>(text.size()), "replace");
}

// Raises `type` with the whole text as its one argument.
void raise_text(PyObject* type, std::string_view text) {
    PyObject* message = str_of(text);
    if (message == nullptr) return;  // the decoding error is raised instead
    PyErr_SetObject(type, message);
    Py_DECREF(message);
}

// Raises a TypeError about argument `name` carrying the note "while processing '{name}'"
// where the interpreter keeps exception notes (3.11 and later); `add_note` is called
// as a method, which the stable interface allows.
void raise_argument_error(const char* name, const std::string& message) {
    PyObject* text = str_of(message);
    PyObject* exc = text ? PyObject_CallFunctionObjArgs(PyExc_TypeError, text, nullptr) : nullptr;
    Py_XDECREF(text);
    if (exc == nullptr) return;
    PyObject* add_note = PyObject_GetAttrString(exc, "add_note");
    if (add_note == nullptr) {
        PyErr_Clear();  // an interpreter without notes: the message alone
    } else {
        PyObject* note = str_of(std::string("while processing '") + name + "'");
        PyObject* done = note ? PyObject_CallFunctionObjArgs(add_note, note, nullptr) : nullptr;
        Py_XDECREF(note);
        Py_DECREF(add_note);
        if (done == nullptr) {
            Py_DECREF(exc);
            return;
        }
        Py_DECREF(done);
    }
    PyErr_SetObject(PyExc_TypeError, exc);
    Py_DECREF(exc);
}

// The UTF-8 text of a str argument, or a TypeError naming the argument.
bool text_argument(PyObject* arg, const char* name, std::string_view& out) {
    if (!PyUnicode_Check(arg)) {
        PyObject* type_name = PyObject_GetAttrString(reinterpret_cast<PyObject*>(Py_TYPE(arg)), "__name__");
        Py_ssize_t size = 0;
        const char* tn = type_name ? PyUnicode_AsUTF8AndSize(type_name, &size) : nullptr;
        PyErr_Clear();
        const std::string found = tn ? std::string(tn, static_cast<std::size_t>(size)) : "object";
        Py_XDECREF(type_name);
        raise_argument_error(name, "argument '" + std::string(name) + "' must be str, not " + found);
        return false;
    }
    Py_ssize_t size = 0;
    const char* data = PyUnicode_AsUTF8AndSize(arg, &size);
    if (data == nullptr) return false;
    out = std::string_view(data, static_cast<std::size_t>(size));
    return true;
}

PyObject* raw_env_new(PyTypeObject* type, PyObject* args, PyObject* kwargs) {
    static const char* kwlist[] = {"spec_json", nullptr};
    PyObject* spec_obj = nullptr;
    if (!PyArg_ParseTupleAndKeywords(args, kwargs, "O:RawEnv", const_cast<char**>(kwlist), &spec_obj)) return nullptr;
    std::string_view spec;
    if (!text_argument(spec_obj, "spec_json", spec)) return nullptr;
    // Running out of memory (an absurdly large document) is refused, never fatal.
    std::expected<Env, torvex::gym::EnvError> env = std::unexpected(torvex::gym::EnvError::parse(""));
    try {
        env = Env::create(spec);
    } catch (const std::bad_alloc&) {
        PyErr_SetString(PyExc_ValueError, "parse: the specification does not fit in memory");
        return nullptr;
    }
    if (!env) {
        raise_text(PyExc_ValueError, env.error().display());
        return nullptr;
    }
    auto alloc = reinterpret_cast<allocfunc>(PyType_GetSlot(type, Py_tp_alloc));
    PyObject* self = alloc(type, 0);
    if (self == nullptr) return nullptr;
    auto* obj = reinterpret_cast<RawEnvObject*>(self);
    obj->env = new Env(std::move(*env));
    new (&obj->borrow) std::atomic<std::uintptr_t>(0);
    new (&obj->owner) std::thread::id(std::this_thread::get_id());
    return self;
}

void raw_env_dealloc(PyObject* self) {
    auto* obj = reinterpret_cast<RawEnvObject*>(self);
    delete obj->env;
    obj->env = nullptr;
    PyTypeObject* type = Py_TYPE(self);
    auto free_fn = reinterpret_cast<freefunc>(PyType_GetSlot(type, Py_tp_free));
    free_fn(self);
    Py_DECREF(type);
}

PyObject* raw_env_command(PyObject* self, PyObject* args, PyObject* kwargs) {
    static const char* kwlist[] = {"cmd_json", nullptr};
    PyObject* cmd_obj = nullptr;
    if (!PyArg_ParseTupleAndKeywords(args, kwargs, "O:command", const_cast<char**>(kwlist), &cmd_obj)) return nullptr;
    auto* obj = reinterpret_cast<RawEnvObject*>(self);
    if (std::this_thread::get_id() != obj->owner) {
        PyErr_SetString(PyExc_RuntimeError, "_torvex_gym::RawEnv is unsendable, but sent to another thread");
        return nullptr;
    }
    std::uintptr_t idle = 0;
    if (!obj->borrow.compare_exchange_strong(idle, kBorrowed)) {
        PyErr_SetString(PyExc_RuntimeError, "Already borrowed");
        return nullptr;
    }
    PyObject* result = nullptr;
    std::string_view cmd;
    if (text_argument(cmd_obj, "cmd_json", cmd)) {
        try {
            const std::string response = obj->env->command(cmd);
            result = str_of(response);
        } catch (const std::bad_alloc&) {
            // Writing the answer ran out of memory; report it instead of ending the process.
            PyErr_SetString(PyExc_RuntimeError, "parse: the response document could not be written: out of memory");
        }
    }
    obj->borrow.store(0);
    return result;
}

PyObject* raw_env_version(PyObject*, PyObject*) {
    return PyUnicode_FromStringAndSize(torvex::gym::kVersion.data(),
                                       static_cast<Py_ssize_t>(torvex::gym::kVersion.size()));
}

PyMethodDef raw_env_methods[] = {
    {"command", reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)()>(raw_env_command)),
     METH_VARARGS | METH_KEYWORDS,
     "command($self, cmd_json)\n--\n\nApply a command JSON and return the response JSON string."},
    {"version", raw_env_version, METH_NOARGS | METH_STATIC, "version()\n--\n\nThe torvex-gym-core version."},
    {nullptr, nullptr, 0, nullptr},
};

PyType_Slot raw_env_slots[] = {
    {Py_tp_new, reinterpret_cast<void*>(raw_env_new)},
    {Py_tp_dealloc, reinterpret_cast<void*>(raw_env_dealloc)},
    {Py_tp_methods, raw_env_methods},
    {Py_tp_doc, const_cast<char*>(
                    "RawEnv(spec_json)\n--\n\nA raw environment handle: create from a spec JSON, then drive it with "
                    "command\nJSONs (`load`, `reset`, `step`, `spec`, `version`).")},
    {0, nullptr},
};

PyType_Spec raw_env_spec = {
    "_torvex_gym.RawEnv",
    sizeof(RawEnvObject),
    0,
    Py_TPFLAGS_DEFAULT,
    raw_env_slots,
};

// Appends `name` to the module's __all__ and sets the attribute; steals `value`.
int add_public(PyObject* module, const char* name, PyObject* value) {
    if (value == nullptr) return -1;
    PyObject* all = PyObject_GetAttrString(module, "__all__");
    if (all == nullptr) {
        PyErr_Clear();
        all = PyList_New(0);
        if (all == nullptr || PyObject_SetAttrString(module, "__all__", all) < 0) {
            Py_XDECREF(all);
            Py_DECREF(value);
            return -1;
        }
    }
    PyObject* text = PyUnicode_FromString(name);
    const int appended = text ? PyList_Append(all, text) : -1;
    Py_XDECREF(text);
    Py_DECREF(all);
    const int set = appended < 0 ? -1 : PyObject_SetAttrString(module, name, value);
    Py_DECREF(value);
    return set;
}

int module_exec(PyObject* module) {
    static PyObject* type = nullptr;  // created once, kept for the process
    if (type == nullptr) {
        type = PyType_FromSpec(&raw_env_spec);
        if (type == nullptr) return -1;
    }
    Py_INCREF(type);
    if (add_public(module, "RawEnv", type) < 0) return -1;
    return add_public(module, "__version__", PyUnicode_FromString("0.2.0"));
}

PyModuleDef_Slot module_slots[] = {
    {Py_mod_exec, reinterpret_cast<void*>(module_exec)},
    {0, nullptr},
};

PyModuleDef module_def = {
    PyModuleDef_HEAD_INIT,
    "_torvex_gym",
    "The native extension module (`torvex_gym._torvex_gym`).",
    0,
    nullptr,
    module_slots,
    nullptr,
    nullptr,
    nullptr,
};

}  // namespace

PyMODINIT_FUNC PyInit__torvex_gym(void) { return PyModuleDef_Init(&module_def); }
