#!/usr/bin/perl
# Runs the security trigger script against every line of enforcement-cases.tsv and against
# the extra cases below, with fake_cleartool.pl answering its attribute queries.
# Usage: perl run_enforcement_cases.pl [--script <trigger script>] [--cases <table>]
use strict;
use warnings;
use File::Basename qw(dirname);
use File::Spec;
use File::Temp qw(tempdir);
use Getopt::Long;

my $here = File::Spec->rel2abs(dirname(__FILE__));
my $script = File::Spec->catfile($here, '..', '..', 'trigger', '_qx_security_trigger.pl');
my $casesFile = File::Spec->catfile($here, 'enforcement-cases.tsv');
GetOptions('script=s' => \$script, 'cases=s' => \$casesFile) or die "bad arguments\n";
my $fakeCleartool = File::Spec->catfile($here, 'fake_cleartool.pl');

my $ELEMENT = 'm:\zanview\proj\src\a.c';
my $ROOT = 'm:\zanview\proj\.';
my $VOB = '\proj';

my @cases = (readTable($casesFile), extraCases());
my ($passed, $failed) = (0, 0);
foreach my $case (@cases) {
    my @problems = check($case, runCase($case));
    if (@problems) {
        $failed++;
        print "FAIL: $case->{name}\n", map { "    $_\n" } @problems;
    } else {
        $passed++;
    }
}
print "$passed passed, $failed failed\n";
exit($failed ? 1 : 0);

sub readTable {
    my ($file) = @_;
    open(my $in, '<', $file) or die "cannot read $file: $!\n";
    my @rows;
    while (my $line = <$in>) {
        $line =~ s/\r?\n$//;
        next if $line =~ /^#/ || $line =~ /^\s*$/ || $line =~ /^case\t/;
        my @f = split(/\t/, $line, -1);
        die "$file line $.: expected 9 fields, found " . @f . "\n" unless @f == 9;
        push @rows, {
            name => "table: $f[0]", user => $f[1], op => $f[2], target => $f[3],
            elem => absentIfDash($f[4]), root => absentIfDash($f[5]),
            admins => ($f[6] eq '' ? undef : $f[6]), override => absentIfDash($f[7]),
            expect => $f[8], fromTable => 1,
        };
    }
    close($in);
    die "$file holds no cases\n" unless @rows;
    return @rows;
}

sub absentIfDash { return $_[0] eq '-' ? undef : $_[0] }

# Cases beyond the table: odd input, failures and the wording of the refusal.
sub extraCases {
    my %eve = (user => 'eve', op => 'checkout', target => 'element');
    return (
        { %eve, name => 'refusal names operation, element and who may', elem => 'bob,carol',
          admins => 'admin1,admin2', expect => 'deny',
          message => 'Zan Utility: eve may not checkout "m:\zanview\proj\src\a.c"; allowed: bob, carol'
                     . ' and the administrators (admin1, admin2).' },
        { %eve, name => 'refusal of a type operation names the VOB', op => 'rmtype', target => 'type',
          root => 'bob', expect => 'deny', message => 'Zan Utility: eve may not rmtype in VOB \proj; allowed: bob.' },
        { %eve, name => 'refusal of a privileged element operation names the VOB-wide setting',
          op => 'rmelem', root => 'NONE', expect => 'deny',
          message => 'Zan Utility: eve may not rmelem "m:\zanview\proj\src\a.c"; allowed in VOB \proj: nobody.' },
        { %eve, name => 'cleartool failing refuses the operation', elem => 'ALL', expect => 'deny',
          env => { ZAN_FAKE_CT_FAIL => 'Unable to access "m:\zanview\proj\src\a.c@@/main/0": Permission denied.' },
          message => qr/^Zan Utility: checkout "m:\\zanview\\proj\\src\\a\.c" is refused for eve: its access settings could not be read, so nothing is allowed \(cleartool failed with exit status 1: cleartool: Error: Unable to access .*Permission denied\.\)\.$/ },
        { %eve, name => 'cleartool missing refuses the operation', elem => '-', expect => 'deny',
          env => { ZAN_CLEARTOOL => '/nonexistent/cleartool' }, message => qr/could not be read.*could not be started/ },
        { %eve, name => 'administrator passes without asking cleartool', user => 'Admin1', admins => 'admin1',
          env => { ZAN_CLEARTOOL => '/nonexistent/cleartool' }, expect => 'allow', calls => [] },
        { %eve, name => 'missing operation is refused', env => { CLEARCASE_OP_KIND => undef }, expect => 'deny',
          message => 'Zan Utility: The operation is refused for eve: the trigger environment does not name it'
                     . ' (CLEARCASE_OP_KIND is not set).' },
        { %eve, name => 'unknown user is refused', elem => 'ALL', expect => 'deny',
          env => { CLEARCASE_USER => undef }, message => qr/user performing it cannot be determined/ },
        { %eve, name => 'user falls back to USERNAME', elem => 'bob', expect => 'allow',
          env => { CLEARCASE_USER => undef, USERNAME => 'bob' } },
        { %eve, name => 'user falls back to USER', elem => 'bob', expect => 'allow',
          env => { CLEARCASE_USER => undef, USER => 'bob' } },
        { %eve, name => 'user names with blanks and quotes', user => 'o"neil "x"',
          elem => 'bob,eve smith,o"neil "x"', expect => 'allow' },
        { %eve, name => 'a blank inside a listed name does not match its first word',
          elem => 'bob,eve smith', expect => 'deny' },
        { %eve, name => 'non-ASCII user names ignore case', user => 'JÜRGEN', elem => 'jürgen', expect => 'allow' },
        { %eve, name => 'only the exact attribute name counts', expect => 'deny',
          fixture => ["$ELEMENT\t__checkout_old = \"eve\"", "$ELEMENT\tQX_GROUPS = \"eve\"",
                      "$ELEMENT\t__checkout = \"bob\"", "$ELEMENT\tLevel = 3"] },
        { %eve, name => 'lines after the attributes section are not attributes', elem => '-', expect => 'allow',
          fixture => ["$ELEMENT\t__lock = \"x\"", "$ELEMENT\t  Labels:", "$ELEMENT\t    __checkout = \"bob\""] },
        { %eve, name => 'Windows line ends and an odd header', elem => 'eve', expect => 'allow',
          env => { ZAN_FAKE_CT_CRLF => 1 } },
        { %eve, name => 'odd element path reaches cleartool unchanged and unexpanded', expect => 'allow',
          env => { CLEARCASE_PN => q{m:\zanview\proj\my dir\Grüße 'q' $(touch HACKED) ; & `id` a.c} },
          fixture => [qq{m:\\zanview\\proj\\my dir\\Grüße 'q' \$(touch HACKED) ; & `id` a.c\t__checkout = "eve"}],
          calls => [qq{describe\t-aattr\t-all\tm:\\zanview\\proj\\my dir\\Grüße 'q' \$(touch HACKED) ; & `id` a.c\@\@/main/0}],
          noFile => 'HACKED' },
        { %eve, name => 'override does not refuse a listed user', elem => 'eve', override => 'True', expect => 'allow' },
        { %eve, name => 'privileged list matches whole entries only', op => 'type', elem => 'eve', root => 'NONE',
          expect => 'allow' },
        { %eve, name => 'mkelem follows the directory that receives the name', op => 'mkelem', expect => 'deny',
          env => { CLEARCASE_PN => 'm:\zanview\proj\src\new.c' }, fixture => ["m:\\zanview\\proj\\src\t__mkelem = \"bob\""],
          calls => ["describe\t-aattr\t-all\tm:\\zanview\\proj\\src\@\@/main/0"] },
        { %eve, name => 'mkelem at the top of the VOB follows the VOB root', op => 'mkelem', expect => 'allow',
          env => { CLEARCASE_PN => 'm:\zanview\proj\new.c' }, fixture => ["$ROOT\t__mkelem = \"eve\""] },
        { %eve, name => 'Unix client: a privileged operation follows the Unix VOB root', user => 'bob', op => 'rmelem',
          env => { CLEARCASE_PN => '/view/zanview/vobs/proj/src/a.c', CLEARCASE_VOB_PN => '/vobs/proj' },
          fixture => ["/view/zanview/vobs/proj/.\t__rmelem = \"bob\""], expect => 'allow',
          calls => ["describe\t-aattr\t-all\t/view/zanview/vobs/proj/.\@\@/main/0"] },
        { %eve, name => 'Unix client: mkelem follows the receiving directory', op => 'mkelem',
          env => { CLEARCASE_PN => '/view/zanview/vobs/proj/src/new.c', CLEARCASE_VOB_PN => '/vobs/proj' },
          fixture => ["/view/zanview/vobs/proj/src\t__mkelem = \"eve\""], expect => 'allow' },
        { %eve, name => 'post-operation run never refuses', elem => 'NONE', expect => 'allow',
          env => { CLEARCASE_TRTYPE_KIND => 'post-operation' } },
        { %eve, name => 'drive given with its colon, view and VOB taken from the path', op => 'rmelem',
          root => 'bob', args => ['m:'], env => { CLEARCASE_VIEW_TAG => undef, CLEARCASE_VOB_PN => undef },
          expect => 'deny', calls => ["describe\t-aattr\t-all\t$ROOT\@\@/main/0"] },
        { %eve, name => 'a type selector as path follows the VOB root', op => 'lock', root => 'NONE', expect => 'deny',
          env => { CLEARCASE_PN => 'lbtype:REL1@\proj', CLEARCASE_MTYPE => undef },
          calls => ["describe\t-aattr\t-all\t$ROOT\@\@/main/0"] },
        { %eve, name => 'type operation without a known VOB is refused', op => 'rmtype', target => 'type',
          env => { CLEARCASE_VOB_PN => undef }, expect => 'deny',
          message => qr/rmtype in an unknown VOB is refused for eve: the VOB root directory cannot be determined/ },
    );
}

# Runs the script for one case; returns (exit code, output lines, cleartool calls, folder).
sub runCase {
    my ($case) = @_;
    my $dir = tempdir(CLEANUP => 1);
    my $fixture = File::Spec->catfile($dir, 'fixture.txt');
    my $log = File::Spec->catfile($dir, 'cleartool.log');
    writeFile($fixture, join('', map { "$_\n" } fixtureLines($case)));
    writeFile($log, '');

    local %ENV = %ENV;
    delete $ENV{$_} for grep { /^(CLEARCASE_|ZAN_|USER$|USERNAME$)/ } keys %ENV;
    %ENV = (%ENV, scenarioEnvironment($case), ZAN_CLEARTOOL => $fakeCleartool,
            ZAN_FAKE_CT_FIXTURE => $fixture, ZAN_FAKE_CT_LOG => $log);
    while (my ($name, $value) = each %{ $case->{env} || {} }) {
        if (defined $value) { $ENV{$name} = $value } else { delete $ENV{$name} }
    }

    my @args = $case->{args} ? @{ $case->{args} } : ('m', defined $case->{admins} ? ($case->{admins}) : ());
    my $output = File::Spec->catfile($dir, 'output.txt');
    my $pid = fork();
    die "fork: $!\n" unless defined $pid;
    if ($pid == 0) {
        chdir($dir) or die "chdir $dir: $!\n";
        open(STDOUT, '>', $output) or die "redirect: $!\n";
        open(STDERR, '>&', \*STDOUT) or die "redirect: $!\n";
        exec { $^X } $^X, $script, @args or die "exec $^X: $!\n";
    }
    waitpid($pid, 0);
    my $exitCode = $? >> 8;
    return ($exitCode, [readLines($output)], [readLines($log)], $dir);
}

sub scenarioEnvironment {
    my ($case) = @_;
    my %env = (CLEARCASE_OP_KIND => $case->{op}, CLEARCASE_VIEW_TAG => 'zanview', CLEARCASE_VOB_PN => $VOB,
               CLEARCASE_TRTYPE_KIND => 'pre-operation');
    $env{CLEARCASE_USER} = $case->{user} if $case->{user} ne '';
    $env{CLEARCASE_OVERRIDE} = $case->{override} if defined $case->{override};
    if ($case->{target} eq 'type') {
        $env{CLEARCASE_MTYPE} = 'attribute type';
    } else {
        $env{CLEARCASE_MTYPE} = 'version';
        $env{CLEARCASE_PN} = $ELEMENT;
    }
    return %env;
}

sub fixtureLines {
    my ($case) = @_;
    my @lines = ($ELEMENT, $ROOT);
    push @lines, "$ELEMENT\t__$case->{op} = \"$case->{elem}\"" if defined $case->{elem} && $case->{elem} ne '-';
    push @lines, "$ROOT\t__$case->{op} = \"$case->{root}\"" if defined $case->{root};
    push @lines, @{ $case->{fixture} } if $case->{fixture};
    return @lines;
}

sub check {
    my ($case, $exitCode, $output, $calls, $dir) = @_;
    my @problems;
    my $shown = join(' | ', @$output);
    if ($case->{expect} eq 'allow') {
        push @problems, "expected allow (exit 0, silent), got exit $exitCode: $shown"
            if $exitCode != 0 || @$output;
    } elsif ($case->{expect} eq 'deny') {
        push @problems, "expected exit 1, got $exitCode" if $exitCode != 1;
        push @problems, 'expected exactly one line, got ' . @$output . ": $shown" if @$output != 1;
        my $line = $output->[0];
        $line = '' unless defined $line;
        push @problems, "refusal does not start with the title: $line" unless $line =~ /^Zan Utility: /;
        if ($case->{fromTable}) {
            my $where = $case->{target} eq 'type' ? $VOB : "\"$ELEMENT\"";
            push @problems, "refusal does not name $case->{user}, $case->{op} and $where: $line"
                unless index($line, $case->{user}) >= 0 && $line =~ /\b\Q$case->{op}\E\b/ && index($line, $where) >= 0;
        }
    } else {
        push @problems, "unknown expectation '$case->{expect}'";
    }
    my $message = $case->{message};
    if (defined $message) {
        my $line = defined $output->[0] ? $output->[0] : '';
        my $matches = ref($message) ? $line =~ $message : $line eq $message;
        push @problems, "message differs:\n      got:    $line\n      wanted: $message" unless $matches;
    }
    if ($case->{calls}) {
        my ($got, $wanted) = (join("\n", @$calls), join("\n", @{ $case->{calls} }));
        push @problems, "cleartool calls differ:\n      got:    $got\n      wanted: $wanted" if $got ne $wanted;
    }
    push @problems, "a shell ran: $case->{noFile} was created"
        if $case->{noFile} && -e File::Spec->catfile($dir, $case->{noFile});
    return @problems;
}

sub writeFile {
    my ($file, $text) = @_;
    open(my $out, '>', $file) or die "cannot write $file: $!\n";
    binmode($out);
    print $out $text;
    close($out);
}

sub readLines {
    my ($file) = @_;
    open(my $in, '<', $file) or return ();
    binmode($in);
    my @lines = map { s/\r?\n$//r } <$in>;
    close($in);
    return @lines;
}
