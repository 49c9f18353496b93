#!/usr/bin/env python3
"""Writes the source of a preloadable library that checks every GL and GLU call the
given programs import for a current rendering context.

    make_shim.py OUT.cpp HEADER... -- PROGRAM...

The functions wrapped are the gl* and glu* symbols the programs leave undefined (read
with `nm -D --undefined-only`), so a call added to the program is checked without a list
to keep up to date; their prototypes come from the headers. Each wrapper asks whether
some context is current (EGL for the headless backend, GLX for the windowed one), counts
and names a call made without one on stderr, and forwards to the next definition. At
exit the library prints how many calls it saw and makes the process end with code 97
when any was made without a context. Standard library only.
"""
import re
import subprocess
import sys

PROTOTYPE = re.compile(r"GLAPI\s+([^;{}#]*?)\s*\b(?:GLAPIENTRY|APIENTRY)\s+(\w+)\s*\(([^)]*)\)\s*;")
# Window-system entry points (glX...) work without a context and are not GL calls.
GL_NAME = re.compile(r"^glu?[A-Z]\w*$")
WINDOW_SYSTEM = re.compile(r"^glX[A-Z]")
NOT_A_NAME = {"const", "void", "unsigned", "signed", "int", "char", "short", "long", "float",
              "double", "struct"}


def strip_comments(text):
    return re.sub(r"/\*.*?\*/", " ", re.sub(r"//[^\n]*", " ", text), flags=re.S)


def prototypes(headers):
    found = {}
    for header in headers:
        with open(header, encoding="utf-8", errors="replace") as f:
            text = " ".join(strip_comments(f.read()).split())
        for result, name, params in PROTOTYPE.findall(text):
            found.setdefault(name, (result.strip(), params.strip()))
    return found


def imported(programs):
    names = set()
    for program in programs:
        out = subprocess.run(["nm", "-D", "--undefined-only", program], check=True,
                             capture_output=True, text=True).stdout
        for line in out.splitlines():
            symbol = line.split()[-1].split("@")[0]
            if GL_NAME.match(symbol) and not WINDOW_SYSTEM.match(symbol):
                names.add(symbol)
    return sorted(names)


def renamed_params(params):
    """The parameter list with the names a0, a1, ... and the argument list to forward."""
    if params in ("", "void"):
        return "void", ""
    out, args = [], []
    for i, param in enumerate(p.strip() for p in params.split(",")):
        name = f"a{i}"
        m = re.search(r"(\w+)\s*(\[[^\]]*\])?\s*$", param)
        if m and not m.group(1).startswith("GL") and m.group(1) not in NOT_A_NAME and not m.group(1).startswith("_GLU"):
            param = param[:m.start(1)] + name + param[m.end(1):]
        else:
            param = f"{param} {name}"
        out.append(param)
        args.append(name)
    return ", ".join(out), ", ".join(args)


HEAD = """// Written by make_shim.py: do not edit.
#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>
#include <dlfcn.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

using CurrentContext = void* (*)();

std::atomic<unsigned long long> g_calls{0};
std::atomic<unsigned long long> g_faults{0};

// glXGetCurrentContext lives in a library SDL opens privately, and only once a window
// asks for GL: looked for by handle until found.
CurrentContext glx_current() {
    static std::atomic<CurrentContext> found{nullptr};
    CurrentContext f = found.load();
    if (f) return f;
    static const char* const LIBRARIES[] = {"libGLX.so.0", "libGL.so.1"};
    for (const char* library : LIBRARIES) {
        void* handle = dlopen(library, RTLD_LAZY | RTLD_NOLOAD);
        if (!handle) continue;
        f = reinterpret_cast<CurrentContext>(dlsym(handle, "glXGetCurrentContext"));
        dlclose(handle);
        if (f) break;
    }
    if (!f) f = reinterpret_cast<CurrentContext>(dlsym(RTLD_DEFAULT, "glXGetCurrentContext"));
    found.store(f);
    return f;
}

bool context_current() {
    static const CurrentContext egl = reinterpret_cast<CurrentContext>(dlsym(RTLD_DEFAULT, "eglGetCurrentContext"));
    if (egl && egl() != nullptr) return true;
    const CurrentContext glx = glx_current();
    return glx && glx() != nullptr;
}

void check(const char* name, std::atomic<bool>* reported) {
    g_calls.fetch_add(1, std::memory_order_relaxed);
    if (context_current()) return;
    g_faults.fetch_add(1, std::memory_order_relaxed);
    // Each function is named once; the count at exit says how many calls there were.
    if (!reported->exchange(true)) fprintf(stderr, "%s called without a current context\\n", name);
}

void* next(const char* name) {
    void* f = dlsym(RTLD_NEXT, name);
    if (!f) {
        fprintf(stderr, "gl context check: no definition of %s after this library\\n", name);
        _exit(98);
    }
    return f;
}

// Runs after the program's own exit handlers: a fault overrides a clean exit code.
struct Report {
    ~Report() {
        const unsigned long long faults = g_faults.load();
        fprintf(stderr, "gl context check: %llu calls, %llu without a current context\\n", g_calls.load(), faults);
        if (faults != 0) {
            fflush(nullptr);
            _exit(97);
        }
    }
} g_report;

} // namespace

"""

WRAPPER = """{result} GLAPIENTRY {name}({params}) {{
    static std::atomic<bool> reported{{false}};
    static const auto real = reinterpret_cast<decltype(&{name})>(next("{name}"));
    check("{name}", &reported);
    return real({args});
}}

"""


def main(argv):
    if "--" not in argv:
        sys.exit("usage: make_shim.py OUT.cpp HEADER... -- PROGRAM...")
    split = argv.index("--")
    out_path, headers, programs = argv[1], argv[2:split], argv[split + 1:]
    known = prototypes(headers)
    names = imported(programs)
    missing = [n for n in names if n not in known]
    if missing:
        sys.exit("make_shim.py: no prototype in the headers for " + ", ".join(missing))
    if not names:
        sys.exit("make_shim.py: the programs import no GL function")
    text = HEAD
    for name in names:
        result, params = known[name]
        decl, args = renamed_params(params)
        text += WRAPPER.format(result=result, name=name, params=decl, args=args)
    with open(out_path, "w", encoding="utf-8") as f:
        f.write(text)


if __name__ == "__main__":
    main(sys.argv)
