#!/usr/bin/python3
"""Reads an apitrace trace of one whole run of the game and checks its GL
object bookkeeping: every buffer, texture, shader, program and vertex array
that the run created is deleted exactly once, nothing is created or deleted
while frames are being drawn, nothing is touched after the context is gone,
and teardown deletes the objects owner by owner in the game's release order.

Usage: check_gl_teardown.py TRACE
Prints one line per fault and exits 1, or prints a summary and exits 0.
"""

import re
import subprocess
import sys

# What each owner creates at set-up, in the order the game puts the scene
# together. A GL name says nothing about who made it, so each name goes to the
# owner being set up when it appeared: the first six buffers are the wall
# model's, the next program and its shaders and textures the wall program's,
# and so on. A run that creates anything else, or in another order, fails
# here, because then the attribution could not be trusted.
SET_UP = [
    ("vertex array", {"vertex array": 1}),
    ("wall model", {"buffer": 6}),
    ("wall program", {"shader": 2, "program": 1, "texture": 3}),
    ("food model", {"buffer": 6}),
    ("food program", {"shader": 2, "program": 1}),
    ("sculpture model", {"buffer": 6}),
    ("sculpture program", {"shader": 2, "program": 1, "texture": 1}),
    ("text overlay", {"texture": 1, "buffer": 2, "shader": 2, "program": 1}),
]

# Teardown deletes whole owners in this order; within one owner any order
# will do.
RELEASE_ORDER = [
    "text overlay",
    "wall model",
    "food model",
    "sculpture model",
    "wall program",
    "food program",
    "sculpture program",
    "vertex array",
]

CREATES = {
    "glGenBuffers": "buffer",
    "glGenTextures": "texture",
    "glGenVertexArrays": "vertex array",
    "glCreateShader": "shader",
    "glCreateProgram": "program",
}
DELETES = {
    "glDeleteBuffers": "buffer",
    "glDeleteTextures": "texture",
    "glDeleteVertexArrays": "vertex array",
    "glDeleteShader": "shader",
    "glDeleteProgram": "program",
}
DRAWS = {"glDrawElements", "glDrawArrays"}
CONTEXT_GONE = "glXDestroyContext"

# One dumped call: "15004 glGenBuffers(n = 1, buffers = &1)" or
# "15032 glCreateProgram() = 3".
CALL = re.compile(r"^(\d+) (\w+)\((.*)\)(?: = (.*))?$")


class Fault(Exception):
    pass


class GlObject:
    def __init__(self, kind, name, owner, created_at):
        self.kind = kind
        self.name = name
        self.owner = owner
        self.created_at = created_at
        self.deleted_at = []

    def __str__(self):
        return f"{self.kind} {self.name} of the {self.owner} (created at call {self.created_at})"


def dumped_calls(trace_path):
    """Yields (call number, function, arguments, result) for the calls that
    matter here, in trace order."""
    wanted = sorted(set(CREATES) | set(DELETES) | DRAWS | {CONTEXT_GONE})
    dump = subprocess.run(
        ["apitrace", "dump", "--color=never", f"--grep=^({'|'.join(wanted)})$", trace_path],
        check=True, capture_output=True, text=True).stdout
    for line in dump.splitlines():
        match = CALL.match(line)
        if match:
            number, function, arguments, result = match.groups()
            yield int(number), function, arguments, result


def names_of(function, arguments, result):
    """The GL names a create or delete call made or named: the pointed-to
    array of a Gen or Delete call ("&1", "{1, 2}"), the result of a Create
    call, the plain argument of glDeleteShader and glDeleteProgram."""
    text = result if function.startswith("glCreate") else arguments.rsplit("=", 1)[-1]
    return [int(name) for name in re.findall(r"\d+", text or "")]


class OwnerQueue:
    """Hands out owners to newly created names in set-up order."""

    def __init__(self):
        self.index = 0
        self.remaining = dict(SET_UP[0][1])

    def owner_of_new(self, kind, name, call):
        while self.index < len(SET_UP):
            owner = SET_UP[self.index][0]
            if self.remaining.get(kind, 0) > 0:
                self.remaining[kind] -= 1
                return owner
            missing = self.missing()
            if missing:
                raise Fault(f"{kind} {name} (call {call}) was created while the {owner} "
                            f"still lacked {missing}: set-up did not go as the game builds "
                            "its scene")
            self.advance()
        raise Fault(f"{kind} {name} (call {call}) was created after the whole scene was set up")

    def advance(self):
        self.index += 1
        if self.index < len(SET_UP):
            self.remaining = dict(SET_UP[self.index][1])

    def missing(self):
        return ", ".join(f"{count} {kind}(s)" for kind, count in self.remaining.items() if count)

    def check_complete(self):
        while self.index < len(SET_UP):
            if self.missing():
                raise Fault(f"the {SET_UP[self.index][0]} was never given {self.missing()}")
            self.advance()


def check(calls):
    calls = list(calls)
    draws = [number for number, function, _, _ in calls if function in DRAWS]
    if not draws:
        raise Fault("the trace shows no frame drawn")
    first_draw, last_draw = draws[0], draws[-1]
    context_gone = next((n for n, f, _, _ in calls if f == CONTEXT_GONE), None)

    faults = []
    owners = OwnerQueue()
    live = {}
    all_objects = []
    teardown = []
    for number, function, arguments, result in calls:
        if function in CREATES:
            kind = CREATES[function]
            for name in names_of(function, arguments, result):
                if first_draw < number < last_draw:
                    raise Fault(f"{kind} {name} was created at call {number}, while the frame "
                                "loop was running")
                obj = GlObject(kind, name, owners.owner_of_new(kind, name, number), number)
                live[(kind, name)] = obj
                all_objects.append(obj)
        elif function in DELETES:
            kind = DELETES[function]
            for name in names_of(function, arguments, result):
                if name == 0:
                    continue  # GL ignores name 0: an owner whose load failed deletes it
                obj = live.pop((kind, name), None)
                if obj is None:
                    deleted = [o for o in all_objects if (o.kind, o.name) == (kind, name)]
                    what = f"{deleted[-1]} was deleted twice" if deleted else \
                        f"{kind} {name} was deleted but never created"
                    faults.append(f"{what} (again at call {number})")
                    continue
                obj.deleted_at.append(number)
                if first_draw < number < last_draw:
                    faults.append(f"{obj} was deleted at call {number}, "
                                  "while the frame loop was running")
                if context_gone is not None and number > context_gone:
                    faults.append(f"{obj} was deleted at call {number}, after the GL context "
                                  "was destroyed")
                if number > last_draw:
                    teardown.append(obj)
    owners.check_complete()

    for obj in live.values():
        faults.append(f"{obj} was never deleted")
    faults.extend(out_of_order(teardown))
    return faults, len(all_objects)


def out_of_order(teardown):
    """A fault for the first teardown deletion of each owner that should have
    been released before an owner already seen."""
    faults = []
    reported = set()
    latest = None
    for obj in teardown:
        rank = RELEASE_ORDER.index(obj.owner)
        if latest is None or rank >= RELEASE_ORDER.index(latest):
            latest = obj.owner
        elif obj.owner not in reported:
            reported.add(obj.owner)
            faults.append(f"{obj} was deleted at call {obj.deleted_at[-1]}, after the "
                          f"{latest}'s objects; teardown releases {', '.join(RELEASE_ORDER)}")
    return faults


def main():
    if len(sys.argv) != 2:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    try:
        faults, created = check(dumped_calls(sys.argv[1]))
    except Fault as fault:
        faults, created = [str(fault)], 0
    for fault in faults:
        print(f"FAIL: {fault}")
    if faults:
        return 1
    print(f"{created} GL objects created, each deleted once, teardown in release order")
    return 0


if __name__ == "__main__":
    sys.exit(main())
