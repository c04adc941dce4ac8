# Finds the level view inside a screenshot of the main window and prints
# colours at client points.
#
# Input: two ImageMagick "txt:" dumps, first the bitmap area the view should
# show (500 x 380, its top-left at the view's top-left), then the main
# window's X window. Variables: maxdx, maxdy (how far the client origin may
# lie from the X window's top-left) and points ("cx,cy cx,cy ..." client
# points whose colours to print).
#
# Output, one line: dx dy matched sampled colour... where (dx, dy) is the
# client origin in the X window, matched of sampled grid points agree with
# the bitmap there, and each colour is "#RRGGBB" of one requested point.

function colour(    i) {
    for (i = 2; i <= NF; i++)
        if ($i ~ /^#[0-9A-Fa-f]+$/) return toupper($i)
    return ""
}

/^#/ { next }

{
    split($1, xy, /[,:]/)
    key = xy[1] "," xy[2]
}

FNR == NR { expected[key] = colour(); next }
{ shown[key] = colour() }

END {
    bestMatched = -1
    for (dy = 0; dy <= maxdy; dy++) {
        for (dx = 0; dx <= maxdx; dx++) {
            matched = 0
            sampled = 0
            for (gx = 0; gx < 500; gx += 25) {
                for (gy = 0; gy < 380; gy += 19) {
                    sampled++
                    at = (dx + 10 + gx) "," (dy + 10 + gy)
                    if ((at in shown) && shown[at] == expected[gx "," gy]) matched++
                }
            }
            if (matched > bestMatched) {
                bestMatched = matched
                bestDx = dx
                bestDy = dy
            }
        }
    }
    line = bestDx " " bestDy " " bestMatched " " sampled
    n = split(points, wanted, / +/)
    for (i = 1; i <= n; i++) {
        split(wanted[i], c, ",")
        at = (bestDx + c[1]) "," (bestDy + c[2])
        line = line " " ((at in shown) ? shown[at] : "none")
    }
    print line
}
