package tarneljava.appletviewer;

import java.io.ByteArrayOutputStream;
import java.io.File;
import java.io.FileDescriptor;
import java.io.FileOutputStream;
import java.io.IOException;
import java.io.InputStream;
import java.io.PrintStream;
import java.io.UnsupportedEncodingException;
import java.net.URL;
import java.nio.charset.Charset;
import java.util.ArrayList;
import java.util.List;

/**
 * appletviewer for JDKs that no longer have one (JDK 11 and later): shows the applets of HTML
 * pages, each in a window of its own, and ends when the last window is closed.
 * Usage: appletviewer [-encoding ENCODING] [-debug] [-J...] PAGE...
 *
 * A fault in the page or the class is one line in the console; the applet's own faults are
 * shown with their stack trace, as java shows a program's. This class names no applet type, so
 * that a Java without java.applet gets the line that says so, not a linkage error.
 */
public final class AppletViewer {
    private AppletViewer() {}

    public static void main(String[] args) {
        useConsoleEncoding();
        Charset pageEncoding = nativeEncoding();
        List<String> pages = new ArrayList<>();
        for (int i = 0; i < args.length; i++) {
            if (args[i].equals("-encoding") && i + 1 < args.length) {
                try {
                    pageEncoding = Charset.forName(args[++i]);
                } catch (RuntimeException unknown) {
                    fail("不支持的字符编码: " + args[i]);
                }
            } else if (!args[i].startsWith("-")) {
                pages.add(args[i]);
            }
        }
        if (pages.isEmpty())
            fail("用法: appletviewer [-encoding 编码] 页面文件...");
        try {
            Class.forName("java.applet.Applet");
        } catch (ClassNotFoundException | LinkageError gone) {
            fail("这个 Java (" + System.getProperty("java.version")
                    + ") 已没有小应用程序 (java.applet)，请用 JDK 25 或更早的版本。");
        }
        int opened = 0;
        for (String page : pages)
            opened += showPage(page, pageEncoding);
        if (opened == 0)
            System.exit(1);
    }

    /** The number of applet windows opened for the page. */
    private static int showPage(String page, Charset encoding) {
        URL documentBase;
        String text;
        try {
            documentBase = pageUrl(page);
            text = new String(readAll(documentBase), encoding);
        } catch (IOException unreadable) {
            System.out.println("无法读取页面 " + page + ": " + unreadable.getMessage());
            return 0;
        }
        List<AppletTag> applets = AppletPage.appletsOf(text);
        if (applets.isEmpty()) {
            System.out.println("页面 " + page + " 中没有 <applet> 标记。");
            return 0;
        }
        int opened = 0;
        for (AppletTag tag : applets) {
            String fault;
            try {
                fault = AppletStart.open(tag, documentBase);
            } catch (RuntimeException unforeseen) {
                // The page's other applets are still shown.
                fault = "无法打开小应用程序 " + tag.className() + ": " + unforeseen;
            }
            if (fault == null)
                opened++;
            else
                System.out.println(fault);
        }
        return opened;
    }

    /** A URL as given ("http://…", "file:…"), else a file path. */
    private static URL pageUrl(String page) throws IOException {
        if (page.matches("[A-Za-z][A-Za-z0-9+.-]+:.*"))
            return new URL(page);
        File file = new File(page).getAbsoluteFile();
        if (!file.isFile())
            throw new IOException("找不到文件");
        return file.toURI().toURL();
    }

    private static byte[] readAll(URL url) throws IOException {
        try (InputStream in = url.openStream()) {
            ByteArrayOutputStream bytes = new ByteArrayOutputStream();
            byte[] buffer = new byte[8192];
            for (int n; (n = in.read(buffer)) > 0;)
                bytes.write(buffer, 0, n);
            return bytes.toByteArray();
        }
    }

    /** The system's code page, in which the program writes its pages (not UTF-8 from JDK 18). */
    private static Charset nativeEncoding() {
        return charsetNamed(System.getProperty("native.encoding"), Charset.defaultCharset());
    }

    /** Console texts in the console's encoding, whichever the JDK's default. */
    private static void useConsoleEncoding() {
        String name = System.getProperty("stdout.encoding");
        if (name == null)
            name = System.getProperty("sun.stdout.encoding");
        Charset encoding = charsetNamed(name, nativeEncoding());
        try {
            System.setOut(new PrintStream(new FileOutputStream(FileDescriptor.out), true, encoding.name()));
            System.setErr(new PrintStream(new FileOutputStream(FileDescriptor.err), true, encoding.name()));
        } catch (UnsupportedEncodingException cannotHappen) {
            // the encoding came from a Charset
        }
    }

    private static Charset charsetNamed(String name, Charset otherwise) {
        try {
            return name == null ? otherwise : Charset.forName(name);
        } catch (RuntimeException unknown) {
            return otherwise;
        }
    }

    private static void fail(String line) {
        System.out.println(line);
        System.exit(1);
    }
}
