.pragma library

// A small JSONPath evaluator for picking records out of JSON data.
//   $            the root
//   .name ['n']  a member          [2] [-1]     an element (negative counts from the end)
//   * [*]        every child       [0,2] ['a','b']  several children
//   [1:3] [::2]  a slice           ..name ..*   every descendant, at any depth
//   [?(@.price < 10)] [?(@.tag)]   children that pass a comparison or have a member
// query() returns the matches in document order; a path it cannot read matches nothing.

function query(data, path) {
    var steps = parse(String(path))
    if (steps === null)
        return []
    var nodes = [data]
    for (var i = 0; i < steps.length; ++i) {
        var step = steps[i]
        var next = []
        for (var n = 0; n < nodes.length; ++n) {
            var bases = step.recursive ? selfAndDescendants(nodes[n]) : [nodes[n]]
            for (var b = 0; b < bases.length; ++b)
                select(bases[b], step, next)
        }
        nodes = next
    }
    return nodes
}

function isContainer(value) {
    return value !== null && typeof value === "object"
}

// In document order: each node before its children, children in their order.
function selfAndDescendants(node) {
    var out = []
    var pending = [node]
    while (pending.length > 0) {
        var next = pending.pop()
        out.push(next)
        var children = childrenOf(next).filter(isContainer)
        for (var c = children.length - 1; c >= 0; --c)
            pending.push(children[c])
    }
    return out
}

function childrenOf(node) {
    if (Array.isArray(node))
        return node.slice()
    if (!isContainer(node))
        return []
    return Object.keys(node).map(function (key) { return node[key] })
}

function select(node, step, out) {
    if (!isContainer(node))
        return
    var i
    switch (step.kind) {
    case "wildcard":
        Array.prototype.push.apply(out, childrenOf(node))
        break
    case "names":
        for (i = 0; i < step.names.length; ++i)
            if (!Array.isArray(node) && Object.prototype.hasOwnProperty.call(node, step.names[i]))
                out.push(node[step.names[i]])
        break
    case "indices":
        if (!Array.isArray(node))
            break
        for (i = 0; i < step.indices.length; ++i) {
            var index = step.indices[i] < 0 ? node.length + step.indices[i] : step.indices[i]
            if (index >= 0 && index < node.length)
                out.push(node[index])
        }
        break
    case "slice":
        if (!Array.isArray(node))
            break
        var len = node.length
        var stepBy = step.step === null ? 1 : step.step
        if (stepBy <= 0)
            break
        var start = step.start === null ? 0 : step.start < 0 ? Math.max(0, len + step.start) : Math.min(step.start, len)
        var end = step.end === null ? len : step.end < 0 ? Math.max(0, len + step.end) : Math.min(step.end, len)
        for (i = start; i < end; i += stepBy)
            out.push(node[i])
        break
    case "filter":
        var children = childrenOf(node)
        for (i = 0; i < children.length; ++i)
            if (passes(children[i], step.filter))
                out.push(children[i])
        break
    }
}

// Reads a member chain like ".a.b" below a value; undefined where it breaks off.
function member(value, chain) {
    for (var i = 0; i < chain.length; ++i) {
        if (!isContainer(value) || !Object.prototype.hasOwnProperty.call(value, chain[i]))
            return undefined
        value = value[chain[i]]
    }
    return value
}

function passes(value, filter) {
    var left = member(value, filter.chain)
    if (filter.op === null)
        return left !== undefined
    if (left === undefined)
        return false
    switch (filter.op) {
    case "==": return left === filter.literal
    case "!=": return left !== filter.literal
    case "<": return left < filter.literal
    case "<=": return left <= filter.literal
    case ">": return left > filter.literal
    case ">=": return left >= filter.literal
    }
    return false
}

var filterPattern = /^\?\(\s*@((?:\.[A-Za-z_$][\w$]*)*)\s*(?:(==|!=|<=|>=|<|>)\s*(.+?))?\s*\)$/

function parseLiteral(text) {
    if (/^'.*'$/.test(text))
        return text.slice(1, -1)
    try {
        return JSON.parse(text)
    } catch (e) {
        return undefined
    }
}

function parseBracket(content) {
    content = content.trim()
    if (content === "*")
        return { kind: "wildcard" }
    if (content.charAt(0) === "?") {
        var m = filterPattern.exec(content)
        if (!m)
            return null
        var literal = m[2] ? parseLiteral(m[3]) : undefined
        if (m[2] && literal === undefined)
            return null
        return { kind: "filter", filter: { chain: m[1] ? m[1].split(".").slice(1) : [], op: m[2] || null, literal: literal } }
    }
    var parts = content.split(",").map(function (p) { return p.trim() })
    if (parts.every(function (p) { return /^(['"]).*\1$/.test(p) }))
        return { kind: "names", names: parts.map(function (p) { return p.slice(1, -1) }) }
    if (parts.length === 1 && content.indexOf(":") >= 0) {
        var bounds = content.split(":")
        if (bounds.length > 3)
            return null
        var numbers = []
        for (var i = 0; i < 3; ++i) {
            var text = i < bounds.length ? bounds[i].trim() : ""
            if (text !== "" && !/^-?\d+$/.test(text))
                return null
            numbers.push(text === "" ? null : parseInt(text, 10))
        }
        return { kind: "slice", start: numbers[0], end: numbers[1], step: numbers[2] }
    }
    if (parts.every(function (p) { return /^-?\d+$/.test(p) }))
        return { kind: "indices", indices: parts.map(function (p) { return parseInt(p, 10) }) }
    return null
}

// Turns a path into steps; null for a path that is not understood.
function parse(path) {
    var steps = []
    var i = 0
    if (path.charAt(0) === "$")
        i = 1
    while (i < path.length) {
        var recursive = false
        var step
        if (path.substr(i, 2) === "..") {
            recursive = true
            i += 2
        } else if (path.charAt(i) === ".") {
            i += 1
        } else if (path.charAt(i) !== "[") {
            return null
        }
        if (path.charAt(i) === "[") {
            var close = closingBracket(path, i)
            if (close < 0)
                return null
            step = parseBracket(path.substring(i + 1, close))
            i = close + 1
        } else {
            var name = /^(\*|[A-Za-z_$][\w$-]*)/.exec(path.substring(i))
            if (!name)
                return null
            step = name[1] === "*" ? { kind: "wildcard" } : { kind: "names", names: [name[1]] }
            i += name[1].length
        }
        if (step === null)
            return null
        step.recursive = recursive
        steps.push(step)
    }
    return steps
}

// Skips brackets inside quotes and filter parentheses.
function closingBracket(path, open) {
    var quote = ""
    var depth = 0
    for (var i = open + 1; i < path.length; ++i) {
        var c = path.charAt(i)
        if (quote !== "") {
            if (c === quote)
                quote = ""
        } else if (c === "'" || c === "\"") {
            quote = c
        } else if (c === "(") {
            ++depth
        } else if (c === ")") {
            --depth
        } else if (c === "]" && depth === 0) {
            return i
        }
    }
    return -1
}
