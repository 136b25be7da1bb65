package tarneljava.javacserver;

import java.io.DataOutputStream;
import java.io.IOException;
import java.io.Writer;
import java.nio.charset.Charset;

/**
 * javac's messages on their way to the launcher: each piece javac flushes (one diagnostic) goes
 * as it comes, in the bytes the cold javac prints, with each source file named as the learner's
 * command named it (the server was given its whole path).
 */
final class CompileOutput extends Writer {
    private final DataOutputStream out;
    private final Charset charset;
    private final String[] wholeAndShown;
    private final StringBuilder pending = new StringBuilder();

    CompileOutput(DataOutputStream out, Charset charset, String[] wholeAndShown) {
        this.out = out;
        this.charset = charset;
        this.wholeAndShown = wholeAndShown.clone();
    }

    @Override
    public void write(char[] chars, int offset, int length) {
        pending.append(chars, offset, length);
    }

    @Override
    public void flush() throws IOException {
        if (pending.length() == 0)
            return;
        String text = pending.toString();
        pending.setLength(0);
        for (int i = 0; i + 1 < wholeAndShown.length; i += 2)
            text = text.replace(wholeAndShown[i], wholeAndShown[i + 1]);
        Frames.write(out, Frames.OUTPUT, text.getBytes(charset));
    }

    @Override
    public void close() throws IOException {
        flush();
    }
}
