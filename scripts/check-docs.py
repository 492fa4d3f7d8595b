#!/usr/bin/env python3
"""Lists every public QML member of the Zarno module that has no reference entry.

Native types are found through their registration calls, framework types through
qml/Zarno/qmldir. A member counts as documented when a qdoc comment names it
(\\qmlproperty, \\qmlsignal, \\qmlmethod, \\value) or, in a QML file, when a /*! */
comment stands right before its declaration. Exits 1 when anything is missing.
"""
import os
import re
import sys

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), ".."))
NATIVE_DIRS = ["app", "scheduling", "components", "sprites", "particles", "physics", "spine", "platform"]

DOC_BLOCK = re.compile(r"/\*!(.*?)\*/", re.S)
REGISTRATION = re.compile(r'qmlRegister(?:Uncreatable)?Type<\s*(\w+)\s*>\s*\(\s*\w+\s*,\s*2\s*,\s*0\s*,\s*"(\w+)"')
SINGLETON = re.compile(r'qmlRegisterSingletonType<\s*(\w+)\s*>\s*\(\s*\w+\s*,\s*2\s*,\s*0\s*,\s*"(\w+)"')


def read(path):
    with open(path, encoding="utf-8", errors="replace") as f:
        return f.read()


def native_files(exts):
    for d in NATIVE_DIRS:
        base = os.path.join(ROOT, d)
        for dirpath, _, names in os.walk(base):
            for n in sorted(names):
                if n.endswith(exts):
                    yield os.path.join(dirpath, n)


def strip_comments(text):
    text = re.sub(r"/\*.*?\*/", lambda m: "\n" * m.group(0).count("\n"), text, flags=re.S)
    return re.sub(r"//[^\n]*", "", text)


class Docs:
    def __init__(self):
        self.members = set()      # (type, name)
        self.types = {}           # type -> doc text of its \qmltype block
        self.values = set()       # enumerator names given with \value

    def scan(self, text):
        for block in DOC_BLOCK.findall(text):
            m = re.search(r"\\qmltype\s+(\w+)", block)
            if m:
                self.types[m.group(1)] = block
            for kind in ("qmlproperty", "qmlattachedproperty"):
                for t, n in re.findall(r"\\" + kind + r"\s+\S+\s+(\w+)::([\w.]+)", block):
                    self.members.add((t, n.split(".")[0]))
            for t, n in re.findall(r"\\qml(?:attached)?signal\s+(\w+)::(\w+)", block):
                self.members.add((t, n))
            for t, n in re.findall(r"\\qml(?:attached)?method\s+(?:\S+\s+)?(\w+)::(\w+)\s*\(", block):
                self.members.add((t, n))
            for v in re.findall(r"\\value\s+(?:\w+\.)?(\w+)", block):
                self.values.add(v)


def class_header(cls, headers):
    pattern = re.compile(r"\bclass\s+(?:\w+\s+)?" + re.escape(cls) + r"\b[^;]*?\{", re.S)
    for path, text in headers.items():
        m = pattern.search(text)
        if m:
            return path, text[m.end():]
    return None, None


def class_body(text):
    depth, i = 1, 0
    while i < len(text) and depth:
        if text[i] == "{":
            depth += 1
        elif text[i] == "}":
            depth -= 1
        i += 1
    return text[:i]


def native_members(body):
    body = strip_comments(body)
    props = re.findall(r"Q_PROPERTY\(\s*[\w:<>*, ]+?\s+\*?(\w+)\s+(?:READ|MEMBER|WRITE)", body)
    members = {("property", p) for p in props}
    enums = re.findall(r"Q_ENUMS?\(\s*([\w\s]+)\)", body)
    section = None
    depth = 0
    for line in body.split("\n"):
        s = line.strip()
        if depth == 0:
            m = re.match(r"(public|protected|private)\s*(Q_SLOTS|slots)?\s*:", s)
            if m:
                section = "slot" if (m.group(2) and m.group(1) == "public") else m.group(1)
            elif re.match(r"(signals|Q_SIGNALS)\s*:", s):
                section = "signal"
            elif section in ("signal", "slot") and re.match(r"[\w:<>&*, ]+?\b(\w+)\s*\(", s) and not s.startswith(("Q_", "#")):
                name = re.match(r"[\w:<>&*, ]+?\b(\w+)\s*\(", s).group(1)
                if name not in ("Q_INVOKABLE",):
                    members.add((section if section == "signal" else "method", name))
            if "Q_INVOKABLE" in s:
                m = re.search(r"\b(\w+)\s*\(", s.split("Q_INVOKABLE", 1)[1])
                if m:
                    members.add(("method", m.group(1)))
        depth += s.count("{") - s.count("}")
    enumerators = []
    for e in ",".join(enums).split(","):
        e = e.strip()
        m = re.search(r"\benum\s+(?:class\s+)?" + re.escape(e) + r"\s*(?::\s*\w+\s*)?\{(.*?)\}", body, re.S)
        if e and m:
            enumerators += [v.split("=")[0].strip() for v in m.group(1).split(",") if v.split("=")[0].strip()]
    return members, enumerators


QML_DECL = re.compile(r"^\s*(?:(?:readonly|default|required)\s+)*property\s+[\w.<>]+\s+(\w+)|^\s*signal\s+(\w+)|^\s*function\s+(\w+)")


def qml_members(text):
    """Members declared at the root object's level, each with 'documented before it'."""
    out = []
    depth = 0
    in_block_comment = False
    last_doc_end = -10
    lines = text.split("\n")
    root_seen = False
    for idx, line in enumerate(lines):
        s = line.strip()
        if in_block_comment:
            if "*/" in s:
                in_block_comment = False
                last_doc_end = idx if doc_comment else last_doc_end
            continue
        if s.startswith("/*"):
            doc_comment = s.startswith("/*!")
            if "*/" not in s[2:]:
                in_block_comment = True
            else:
                last_doc_end = idx if doc_comment else last_doc_end
            continue
        code = re.sub(r'"(?:\\.|[^"\\])*"|\'(?:\\.|[^\'\\])*\'', '""', s)
        code = code.split("//")[0]
        if depth == 1 and root_seen:
            m = QML_DECL.match(code)
            if m:
                kind = "property" if m.group(1) else ("signal" if m.group(2) else "method")
                name = m.group(1) or m.group(2) or m.group(3)
                documented = last_doc_end == idx - 1 or "\\internal" in ""
                out.append((kind, name, documented, idx + 1))
        opened = code.count("{")
        if opened and depth == 0:
            root_seen = True
        depth += opened - code.count("}")
    return out


def main():
    headers = {p: read(p) for p in native_files((".h",))}
    docs = Docs()
    sources = list(native_files((".cpp", ".h"))) + [os.path.join(dp, n)
               for dp, _, ns in os.walk(os.path.join(ROOT, "qml", "Zarno")) for n in ns if n.endswith(".qml")]
    sources += [os.path.join(ROOT, "docs", n) for n in os.listdir(os.path.join(ROOT, "docs")) if n.endswith(".qdoc")]
    for path in sources:
        docs.scan(read(path))

    missing = []
    registrations = []
    for path in native_files((".cpp",)):
        text = strip_comments(read(path))
        registrations += REGISTRATION.findall(text) + SINGLETON.findall(text)
    for cls, qml in registrations:
        if qml not in docs.types:
            missing.append(f"{qml}: no \\qmltype entry (class {cls})")
        elif "\\qml" not in docs.types[qml] and "\\code" not in docs.types[qml]:
            missing.append(f"{qml}: its \\qmltype entry has no example")
        hpath, rest = class_header(cls, headers)
        if not hpath:
            missing.append(f"{qml}: header of class {cls} not found")
            continue
        members, enumerators = native_members(class_body(rest))
        props = {n for k, n in members if k == "property"}
        for kind, name in sorted(members):
            if kind == "signal" and name.endswith("Changed") and name[:-len("Changed")] in props:
                continue
            if (qml, name) not in docs.members:
                missing.append(f"{qml}: undocumented {kind} '{name}' ({os.path.relpath(hpath, ROOT)})")
        for v in enumerators:
            if v not in docs.values:
                missing.append(f"{qml}: undocumented enumerator '{v}' (give it a \\value line)")

    qmldir = os.path.join(ROOT, "qml", "Zarno", "qmldir")
    for line in read(qmldir).split("\n"):
        parts = line.split()
        if len(parts) < 3 or parts[0] in ("module", "plugin", "internal", "#", "depends", "typeinfo"):
            continue
        if parts[0] == "singleton":
            parts = parts[1:]
        name, _, rel = parts[:3]
        if not rel.endswith(".qml"):
            continue
        path = os.path.join(ROOT, "qml", "Zarno", rel)
        if not os.path.exists(path):
            missing.append(f"{name}: {rel} listed in qmldir does not exist")
            continue
        if name not in docs.types:
            missing.append(f"{name}: no \\qmltype entry ({rel})")
        elif "\\qml" not in docs.types[name] and "\\code" not in docs.types[name]:
            missing.append(f"{name}: its \\qmltype entry has no example")
        for kind, member, documented, lineno in qml_members(read(path)):
            if member.startswith("_") or documented or (name, member) in docs.members:
                continue
            missing.append(f"{name}: undocumented {kind} '{member}' (qml/Zarno/{rel}:{lineno})")

    for m in missing:
        print("undocumented:", m)
    print(f"{len(registrations)} native types and the framework types of qmldir checked; {len(missing)} undocumented members")
    return 1 if missing else 0


if __name__ == "__main__":
    sys.exit(main())
