#!/usr/bin/env python3
"""Checks the product code's dependencies against the layer order (docs/developer-guide.md).

Each folder may include only headers of the folders after it in the order app, render,
weapons, scene, assets, nav, platform (scene/vec3.h is shared by all), and no two modules
(a .h and its .cpp taken together) include each other. Product code includes nothing of
tools/: the tools are built on the product, never the other way. A .cpp declares no
other folder's variable or function by hand (an `extern` or a bare prototype at namespace
scope): it includes that folder's header, where this check can see the dependency.
Prints every breach; exit code 1 when there is one.

Usage: check_includes.py [SOURCE_DIR]
"""
import os
import re
import sys

ORDER = ["app", "render", "weapons", "scene", "assets", "nav", "platform"]
SHARED = {"scene/vec3.h"}
INCLUDE = re.compile(r'\s*#\s*include\s+"([^"]+)"')
# A declarator's name: the last identifier before its parameters, array bounds or end.
DECLARED_NAME = re.compile(r"(\w+)\s*(?:\(.*\)\s*(?:const\s*)?(?:noexcept\s*)?|(?:\[[^]]*\]\s*)*)$", re.S)
# A function's declaration without a body: a type, the name, the parameters.
PROTOTYPE = re.compile(r"^[\w:<>,\s\*&]*[\s\*&](\w+)\s*\(.*\)\s*(?:const\s*)?(?:noexcept\s*)?$", re.S)
NOT_NAMES = {"static_assert", "operator", "return", "sizeof", "alignof", "decltype"}


def module(path):
    return re.sub(r"\.(h|cpp)$", "", path)


def code_only(text):
    """The text without comments, preprocessor lines and the insides of literals."""
    text = re.sub(r"//[^\n]*|/\*.*?\*/", " ", text, flags=re.S)
    text = re.sub(r'"(?:\\.|[^"\\])*"', '""', text)
    text = re.sub(r"'(?:\\.|[^'\\])*'", "''", text)
    return "\n".join("" if line.lstrip().startswith("#") else line for line in text.split("\n"))


def namespace_scope(text):
    """Yields (statement, ends_with) for every statement at namespace scope: a
    declaration ended by ';' or the head of a definition opened by '{'."""
    stack = []  # True for a namespace or extern "C" block, False for any other
    statement = ""
    for c in code_only(text):
        at_namespace_scope = all(stack)
        if c == "{":
            if at_namespace_scope:
                head = " ".join(statement.split())
                opens_scope = re.match(r'(inline\s+)?namespace\b|extern\s*""\s*$', head) is not None
                if not opens_scope:
                    yield head, "{"
                stack.append(opens_scope)
                statement = ""
            else:
                stack.append(False)
        elif c == "}":
            if stack:
                stack.pop()
            statement = ""
        elif c == ";" and at_namespace_scope:
            yield " ".join(statement.split()), ";"
            statement = ""
        elif at_namespace_scope:
            statement += c


def declared_name(statement):
    head = statement.split("=")[0].strip()
    match = DECLARED_NAME.search(head)
    return match.group(1) if match and match.group(1) not in NOT_NAMES else None


def hand_written_declarations(text):
    """The names a .cpp declares at namespace scope without defining them there."""
    names = []
    for statement, ends_with in namespace_scope(text):
        if ends_with != ";":
            continue
        if statement.startswith("extern ") and not statement.startswith('extern ""'):
            name = declared_name(statement[len("extern "):])
        elif "=" not in statement and not statement.startswith(("using ", "typedef ", "template", "friend ")):
            match = PROTOTYPE.match(statement)
            name = match.group(1) if match else None
        else:
            name = None
        if name and name not in NOT_NAMES:
            names.append(name)
    return names


def defined_or_declared(text):
    """Every name a file declares or defines at namespace scope."""
    names = set()
    for statement, _ in namespace_scope(text):
        name = declared_name(statement)
        if name:
            names.add(name)
    return names


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..")
    rank = {folder: i for i, folder in enumerate(ORDER)}
    breaches = []
    uses = {}  # module -> modules it includes
    texts = {}  # path -> its text
    for folder in ORDER:
        for name in sorted(os.listdir(os.path.join(root, folder))):
            if name.endswith((".h", ".cpp")):
                with open(os.path.join(root, folder, name), encoding="utf-8") as source:
                    texts[f"{folder}/{name}"] = source.read()
    for path, text in texts.items():
        folder = path.split("/")[0]
        for line in text.split("\n"):
            match = INCLUDE.match(line)
            if not match:
                continue
            target = match.group(1)
            if "/" not in target:
                target = f"{folder}/{target}"
            target_folder = target.split("/")[0]
            if target_folder == "tools":
                breaches.append(f"{path} includes {target}, a tool's header")
            if target_folder in rank and rank[target_folder] < rank[folder] and target not in SHARED:
                breaches.append(f"{path} includes {target}, which is above it")
            if module(target) != module(path):
                uses.setdefault(module(path), set()).add(module(target))
    for a, targets in sorted(uses.items()):
        for b in sorted(targets):
            if a < b and a in uses.get(b, ()):
                breaches.append(f"{a} and {b} include each other")
    owners = {}  # name -> folders whose files declare or define it
    for path, text in texts.items():
        for name in defined_or_declared(text):
            owners.setdefault(name, set()).add(path.split("/")[0])
    for path, text in sorted(texts.items()):
        if not path.endswith(".cpp"):
            continue
        folder = path.split("/")[0]
        for name in hand_written_declarations(text):
            for owner in sorted(owners.get(name, set()) - {folder}):
                breaches.append(f"{path} declares {name} of {owner}/ by hand")
    for breach in breaches:
        print(breach)
    return 1 if breaches else 0


if __name__ == "__main__":
    sys.exit(main())
