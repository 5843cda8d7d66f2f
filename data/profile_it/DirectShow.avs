# Frame-server script, written anew for every job whose input the encoder cannot open itself.
# The encoder reads the source path back from the call below: keep that call the last thing in
# this file, with nothing after its closing quote and parenthesis.
DirectShowSource("<%InputFile%>")
