.pragma library

// What meeting a land does to a creature. Type 5 feels at home everywhere, every
// creature in its own land; the starting creature (6) and the starting land (5)
// are harmless except for type 5.
var heal = "heal"
var damage = "damage"
var neutral = "neutral"

// Lands that hurt each of the creatures 0 to 4.
var hurtingLands = [
    [1, 4],
    [0, 3, 4],
    [1, 3],
    [0, 1, 2],
    [2]
]

// Returns "" for lands that have no effect at all.
function outcome(type, land) {
    if (land > 5)
        return ""
    if (type === 5 || type === land)
        return heal
    if (type >= 0 && type < hurtingLands.length && hurtingLands[type].indexOf(land) >= 0)
        return damage
    return neutral
}

// A spin must always change the creature. The step wraps at 5, so type 5 only
// comes from drawing it directly.
function nextType(current, draw) {
    return draw === current ? (draw + 1) % 5 : draw
}

// Likewise a portal must always change the land; the step wraps at 4, so the
// starting land 5 never comes back during a run.
function nextLand(current, draw) {
    return draw === current ? (draw + 1) % 4 : draw
}
