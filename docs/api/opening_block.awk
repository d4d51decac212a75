# Doxygen's input filter for the browser layer's sources (web/*.cpp): the
# opening block of comment lines becomes a page of the reference, titled by
# the file's name; the code after it is left out. So the reference tells how
# each call differs from the real OpenGL, GLU or GLUT in the very words the
# source does.
FNR == 1 {
  name = FILENAME
  sub(/.*\//, "", name)
  page = name
  gsub(/[^A-Za-z0-9]/, "_", page)
  print "/** @page web_" page " web/" name
}
/^\/\/( |$)/ {
  line = $0
  sub(/^\/\/ ?/, "", line)
  print line
  next
}
{ exit }
END { print "*/" }
